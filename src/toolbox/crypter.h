#pragma once

#include <QString>

#include <stdexcept>

// The character shift that keeps the about text from being edited by hand.

struct CrypterError : std::runtime_error {
    CrypterError()
        : std::runtime_error("'DecryptNumber' is an integer, and may not be greater than 32766!")
    {
    }
    static constexpr int number = 10;
    static constexpr const char* source = "Crypter";
};

// Lowers each character code by one, DecryptNumber times, wrapping below 32 to 255.
// A negative key returns the text unchanged; 32767 throws CrypterError.
QString Decrypt(const QString& text, int DecryptNumber);
// The inverse for codes 32 to 255, used to produce the enciphered file.
QString Encrypt(const QString& text, int DecryptNumber);
