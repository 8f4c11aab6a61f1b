#pragma once
// Exceptions for bad data. A broken invariant is an assertion, not one of these.
//
// Loading a skin throws ESkinError (or a subclass); the skin change catches it,
// restores the previous skin and shows what() to the user. Nothing throws
// through a window procedure.

#include <stdexcept>
#include <string>

namespace ac {

// Bad skin data: a broken archive, a failed decode, an unusable options file.
class ESkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Data beyond a limit that keeps a forged file from taking the machine: an
// image too large to decode, a skin load past its budget of decoded pixels or
// unpacked bytes, a JPEG of too many scans. The message names the limit.
// Loading stops at it, where a merely broken image would only be left out:
// the same skin would reach the limit again on every attempt.
class ELimitExceeded : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

// A malformed value where the format requires a number; the message names the
// section, the key and the value.
class EConvertError : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

}  // namespace ac
