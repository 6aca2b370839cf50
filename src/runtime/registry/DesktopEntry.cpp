#include "runtime/registry/DesktopEntry.h"

namespace ferrowick::runtime {

namespace {

bool isReserved(char c) {
  static constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#`()";
  return reserved.find(c) != std::string_view::npos;
}

bool needsEscapeInQuotes(char c) { return c == '"' || c == '`' || c == '$' || c == '\\'; }

}  // namespace

std::string escapeDesktopString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    switch (const char c = text[i]) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case ' ':
        out += i == 0 ? "\\s" : " ";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string unescapeDesktopString(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[i + 1]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        // Not a string escape: left for the Exec quoting rules to read.
        out += '\\';
        out += value[i + 1];
    }
    ++i;
  }
  return out;
}

std::string desktopExecFor(std::string_view program) {
  bool quote = program.empty();
  for (const char c : program) quote = quote || isReserved(c);
  std::string exec;
  if (quote) exec += '"';
  for (const char c : program) {
    if (quote && needsEscapeInQuotes(c)) exec += '\\';
    exec += c;
    if (c == '%') exec += '%';
  }
  if (quote) exec += '"';
  return escapeDesktopString(exec);
}

std::vector<std::string> desktopExecArguments(std::string_view value) {
  const std::string exec = unescapeDesktopString(value);
  std::vector<std::string> arguments;
  std::string current;
  bool started = false;
  bool quoted = false;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    const bool hasNext = i + 1 < exec.size();
    if (c == '%' && hasNext && exec[i + 1] == '%') {
      current += '%';
      started = true;
      ++i;
    } else if (quoted) {
      if (c == '\\' && hasNext && needsEscapeInQuotes(exec[i + 1])) {
        current += exec[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (started) arguments.push_back(std::move(current));
      current.clear();
      started = false;
    } else if (c == '"') {
      quoted = true;
      started = true;
    } else {
      current += c;
      started = true;
    }
  }
  if (started) arguments.push_back(std::move(current));
  return arguments;
}

}  // namespace ferrowick::runtime
