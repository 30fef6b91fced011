#include "harness.h"

#include <cstdio>
#include <exception>

namespace check {
namespace {

struct Group {
  const char* name;
  TestFn fn;
};

std::vector<Group>& groups() {
  static std::vector<Group> all;
  return all;
}

const char* current = "";
int passed = 0, failed = 0;

}  // namespace

Registrar::Registrar(const char* group, TestFn fn) { groups().push_back({group, fn}); }

void record(bool ok, const std::string& what, const std::string& detail) {
  (ok ? passed : failed)++;
  std::printf("%s %s: %s%s%s\n", ok ? "ok  " : "FAIL", current, what.c_str(), detail.empty() ? "" : " -- ",
              detail.c_str());
  std::fflush(stdout);
}

std::string escaped(const std::string& bytes) {
  std::string out;
  char buf[8];
  for (unsigned char c : bytes) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\\')
      out += "\\\\";
    else if (c < 0x20 || c >= 0x7F) {
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else
      out += char(c);
  }
  return out;
}

int runAll(const std::string& prefix) {
  for (const Group& g : groups()) {
    std::string name = g.name;
    // Groups named long_... are a test run of their own: only when asked.
    if (prefix.empty() ? name.compare(0, 5, "long_") == 0 : name.compare(0, prefix.size(), prefix) != 0)
      continue;
    current = g.name;
    try {
      g.fn();
    } catch (const std::exception& e) {
      record(false, "no exception", e.what());
    } catch (...) {
      record(false, "no exception", "unknown exception");
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

}  // namespace check

// With an argument, only the groups whose names begin with it; without,
// all but the long ones.
int main(int argc, char** argv) { return check::runAll(argc > 1 ? argv[1] : ""); }
