#pragma once

// The test framework, the Qt modules and the standard library parts every test may use:
// what the tests' precompiled header holds, so including it costs nothing.
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

// Readable failure output for Qt types.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
