#pragma once
// Checks a skin's options the way a skin author needs before shipping: every
// problem that would stop the skin from loading, and every value that the
// engine would read differently from what its author probably meant.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/options_file.h"

namespace ac {

enum class TProblemLevel { Error, Warning };

struct TSkinProblem {
  TProblemLevel Level = TProblemLevel::Error;
  std::string Section;
  std::string Key;  // empty for problems of a whole section
  std::string Value;
  std::string Text;  // what is wrong, as a sentence without a final period
  int Line = 0;      // line of the file, 0 when unknown
};

// Answers whether the skin holds a file. Names come as the options write them
// (mask file names already in upper case); the skin's own rules of finding
// files (archive entries by upper-cased name, folders by path) apply.
using TSkinFileExists = std::function<bool(std::string_view name)>;

// Errors: conversion errors (mask fields, gradients, 64-bit button colours),
// parent chains that end in a missing section or a cycle, mask files and the
// master bitmap missing from the skin. Warnings: keys never read, numbers
// that read as absent, booleans that read as false unexpectedly, mask fields
// whose width shifts the fields after them, resolution variants without a
// plain key, repeated keys, sections naming themselves as parent.
// Problems are sorted by line.
std::vector<TSkinProblem> CheckSkinOptions(const TOptionsFile& file,
                                           const TSkinFileExists& fileExists);

}  // namespace ac
