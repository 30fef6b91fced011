#pragma once
// A small test harness for the mingw build (GoogleTest is not available
// there): one line per check, a summary line "N passed, M failed", and a
// nonzero exit code when anything failed.
#include <sstream>
#include <string>
#include <vector>

namespace check {

using TestFn = void (*)();

struct Registrar {
  Registrar(const char* group, TestFn fn);
};

// Records one check of the running group.
void record(bool ok, const std::string& what, const std::string& detail = {});

template <class T>
std::string show(const T& v) {
  std::ostringstream s;
  s << v;
  return s.str();
}
inline std::string show(const std::string& v) { return "\"" + v + "\""; }
inline std::string show(const char* v) { return show(std::string(v)); }
inline std::string show(bool v) { return v ? "true" : "false"; }

template <class A, class B>
void equal(const A& got, const B& want, const std::string& what) {
  bool ok = got == want;
  record(ok, what, ok ? std::string() : "got " + show(got) + ", want " + show(want));
}

inline void truth(bool ok, const std::string& what) { record(ok, what, ok ? "" : "is false"); }

// Bytes as C-escaped text, for messages about file contents.
std::string escaped(const std::string& bytes);

int runAll(const std::string& prefix);

}  // namespace check

#define WIN_TEST(name)                                         \
  static void name();                                          \
  static const check::Registrar name##_registrar(#name, name); \
  static void name()
