#pragma once

// The test framework and the Qt modules every test may use: the same set the tests'
// precompiled header holds, so including it costs nothing.
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <ostream>

// Readable failure output for Qt types.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
