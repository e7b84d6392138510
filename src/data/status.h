// Results of store operations. Errors are values, never exceptions: every
// operation returns a Status that says what happened and, for a failure, the
// number of the message that reports it and the texts that fill its
// placeholders.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace fin {

enum class Code : uint8_t {
  Ok,
  NotFound,    // no record at the position or with the key values asked for
  NotOpen,     // the table was used before it was opened (message 42)
  Duplicate,   // a unique key would hold a value twice (message 15)
  Locked,      // the transaction lock could not be had in time (message 24)
  Changed,     // another user changed or removed the record since it was read
  Invalid,     // a value does not fit its field (too long, out of range, not Windows-1252)
  ReadOnly,    // the file is open for reading only
  Cancelled,   // the user chose not to go on (for instance after question 35)
  Failed,      // any other failure of the store
};

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status ok() { return {}; }
  static Status error(Code code, std::string errorText = {}, uint16_t message = 0) {
    Status s;
    s.code_ = code;
    s.errorText_ = std::move(errorText);
    s.message_ = message;
    return s;
  }

  bool isOk() const { return code_ == Code::Ok; }
  explicit operator bool() const { return isOk(); }
  Code code() const { return code_; }

  // The message of the message table that reports this failure (0: none).
  uint16_t message() const { return message_; }
  // The store's error text with its code, as %ErrorText shows it.
  const std::string& errorText() const { return errorText_; }
  // Extra text for %Message, e.g. the key named by a duplicate-key failure.
  const std::string& detail() const { return detail_; }

  Status& withMessage(uint16_t number) {
    message_ = number;
    return *this;
  }
  Status& withDetail(std::string detail) {
    detail_ = std::move(detail);
    return *this;
  }
  // True once the failure was shown to the user, so callers do not show it again.
  bool reported() const { return reported_; }
  Status& markReported() {
    reported_ = true;
    return *this;
  }

 private:
  Code code_ = Code::Ok;
  uint16_t message_ = 0;
  bool reported_ = false;
  std::string errorText_;
  std::string detail_;
};

// Returns early from the calling function when `expr` is not Ok.
#define FIN_RETURN_IF_ERROR(expr)          \
  do {                                     \
    ::fin::Status fin_status_ = (expr);    \
    if (!fin_status_) return fin_status_;  \
  } while (0)

}  // namespace fin
