// Search criteria of the form MATCH(field,'pattern',17): true for a record
// when the value of `field` matches `pattern`, where "*" stands for any run
// of characters and "?" for any one, letter case ignored (the system's case
// rule), and a single quote inside the pattern is written twice.
//
// The criterion names a field by its prefixed name ("ban:Nombre") or a
// computed value ("loc:saldo"); what text a name yields for a record is
// decided by whoever evaluates it (see ui/search_binding.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fin {

class Criterion {
 public:
  // The mode number of the case-insensitive wildcard match.
  static constexpr int kWildcardNoCase = 17;

  // Parses a criterion; nullopt when it is not of the form above.
  static std::optional<Criterion> parse(std::string_view text);
  // The criterion text for a name and a value: quotes doubled, trailing blanks removed.
  static std::string build(std::string_view name, std::string_view value);

  const std::string& name() const { return name_; }
  const std::string& pattern() const { return pattern_; }  // UTF-8, quotes undoubled

 private:
  std::string name_;
  std::string pattern_;
};

// Wildcard match of two Windows-1252 texts, case folded; trailing blanks of
// the value do not count.
bool wildcardMatch(std::string_view value, std::string_view pattern);

}  // namespace fin
