// The twenty field texts of the main window: conversion, checks, and the
// creation of the report. Qt-free, shared by the window and ppspin-cli.
#pragma once

#include "RunRecords.h"

#include <array>
#include <string>
#include <string_view>

namespace ppspin {

inline constexpr int FieldCount = 20;

// Texts of Edit1 .. Edit20, index 0 .. 19.
using TFieldTexts = std::array<std::string, FieldCount>;

// The fields' opening texts ("0.025", "0.7", ... "result.txt"), written with
// the given decimal separator.
TFieldTexts DefaultFieldTexts(char separator);

// First character of the user's locale decimal symbol, "." when it cannot be read.
char UserDecimalSeparator();

// Converts a field text: leading spaces, sign, digits, separator, digits,
// exponent, trailing spaces. Returns false when the text does not convert.
bool TextToFloat(std::string_view text, char separator, double& value);

// The checks of the converted inputs, in order; the first failure's
// message, or nullptr when all pass.
const char* CheckInputs(const TRunInput& in);

inline constexpr const char* InputNotCorrectMessage = "Input value is not correct!";
inline constexpr const char* FileCanNotOpenMessage = "File can not open!";

// Converts the texts into RunInput (with DecimalSeparator) and checks them,
// touching no file. Returns false with the one message to show.
bool ConvertInputs(const TFieldTexts& texts, std::string& message);

// ConvertInputs, then creates the report file and writes its header. Returns false with the one
// message to show; a refused input touches no file. Throws RunError when
// writing the header fails after the file was created.
bool ReadInputs(const TFieldTexts& texts, std::string& message);

} // namespace ppspin
