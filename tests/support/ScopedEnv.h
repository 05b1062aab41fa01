#pragma once
// Sets an environment variable for the lifetime of the object, and lets the
// C library see a changed TZ at once. Tests fix the time zone with POSIX
// zone strings, which need no zone files.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace TestSupport {

class CScopedEnv {
public:
  CScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    setenv(name, value, 1);
    tzset();
  }
  ~CScopedEnv() {
    if (m_old) setenv(m_name, m_old->c_str(), 1);
    else unsetenv(m_name);
    tzset();
  }
  CScopedEnv(const CScopedEnv&) = delete;
  CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
  const char* m_name;
  std::optional<std::string> m_old;
};

} // namespace TestSupport

namespace ScriptTest {

inline constexpr const char* kUtcZone = "UTC0";
// One hour east of UTC, no daylight saving.
inline constexpr const char* kOneHourEastZone = "<+01>-1";

using TestSupport::CScopedEnv;

} // namespace ScriptTest
