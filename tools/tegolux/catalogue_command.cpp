// tegolux catalogue: the takeoff item types the engine knows, with their stored and shown names,
// categories and the quantities a fresh template of each reports; as a table or as JSON.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tsmartobject.h"

namespace {

constexpr const char* kCatalogueUsage =
    "Usage: tegolux catalogue [--json]\n"
    "\n"
    "Lists every takeoff item type: its code, the internal name files store, the name shown to\n"
    "the user, its categories and the quantities (area, length, count) it reports.\n"
    "\n"
    "Options:\n"
    "  --json      print a JSON array of objects instead of a table\n"
    "  -h, --help  show this text\n";

constexpr const char* kNone = "-";
constexpr const char* kColumnGap = "  ";

struct TypeEntry {
  int code;
  std::string internal_name;
  std::string display_name;
  std::vector<std::string> categories;
  std::vector<std::string> quantities;
};

std::vector<std::string> CategoriesOf(int code) {
  std::vector<std::string> words;
  const auto add = [&words](bool in, const char* word) {
    if (in) words.emplace_back(word);
  };
  add(IsRoof(code), "roof");
  add(IsOpeningSmartObject(code), "opening");
  add(IsPerimeterSmartObject(code), "perimeter");
  add(IsPitchedSmartObject(code), "pitched");
  // Some types are a band only while the caller has not asked for a single line.
  const bool always_double = IsDoubleLineSmartObject(code, true);
  add(always_double, "double line");
  add(!always_double && IsDoubleLineSmartObject(code, false), "double line (flag)");
  add(IsConditionSmartObject(code), "condition");
  add(IsRoofSystemSmartObject(code), "roof system");
  add(IsV5SmartObject(code), "V5");
  return words;
}

std::vector<std::string> QuantitiesOf(int code) {
  std::vector<std::string> words;
  const SmartObjectProfile* profile = GetSmartObjectProfile(code);
  if (profile == nullptr) return words;
  if ((profile->fields & kFieldArea) != 0) words.emplace_back("area");
  if ((profile->fields & kFieldLength) != 0) words.emplace_back("length");
  if ((profile->fields & kFieldCount) != 0) words.emplace_back("count");
  return words;
}

std::vector<TypeEntry> Catalogue() {
  std::vector<TypeEntry> entries;
  for (int code = kGenericSmartObject; code < kGenericSmartObject + GetSmartObjectTypeNum();
       ++code) {
    entries.push_back({code, GetSmartObjectName(code), GetSmartObjectDisplayName(code),
                       CategoriesOf(code), QuantitiesOf(code)});
  }
  return entries;
}

std::string Joined(const std::vector<std::string>& words) {
  if (words.empty()) return kNone;
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += ", ";
    text += word;
  }
  return text;
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void PrintTable(const std::vector<TypeEntry>& entries) {
  const char* headings[] = {"Code", "Internal name", "Display name", "Categories", "Quantities"};
  std::vector<std::vector<std::string>> rows;
  rows.push_back({headings[0], headings[1], headings[2], headings[3], headings[4]});
  for (const TypeEntry& entry : entries) {
    rows.push_back({std::to_string(entry.code), entry.internal_name, entry.display_name,
                    Joined(entry.categories), Joined(entry.quantities)});
  }
  std::vector<size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows) {
    for (size_t column = 0; column < row.size(); ++column)
      widths[column] = std::max(widths[column], row[column].size());
  }
  for (const auto& row : rows) {
    std::string line;
    for (size_t column = 0; column + 1 < row.size(); ++column)
      line += Padded(row[column], widths[column]) + kColumnGap;
    line += row.back();
    std::puts(line.c_str());
  }
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonArray(const std::vector<std::string>& words) {
  std::string out = "[";
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) out += ", ";
    out += JsonString(words[i]);
  }
  return out + "]";
}

void PrintJson(const std::vector<TypeEntry>& entries) {
  std::puts("[");
  for (size_t i = 0; i < entries.size(); ++i) {
    const TypeEntry& entry = entries[i];
    std::printf(
        "  {\"code\": %d, \"internal_name\": %s, \"display_name\": %s, \"categories\": %s, "
        "\"quantities\": %s}%s\n",
        entry.code, JsonString(entry.internal_name).c_str(), JsonString(entry.display_name).c_str(),
        JsonArray(entry.categories).c_str(), JsonArray(entry.quantities).c_str(),
        i + 1 < entries.size() ? "," : "");
  }
  std::puts("]");
}

}  // namespace

int RunCatalogue(int argc, char** argv) {
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kCatalogueUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
      continue;
    }
    std::fprintf(stderr, "tegolux catalogue: unexpected argument '%s'\n%s", argv[i],
                 kCatalogueUsage);
    return 2;
  }
  const std::vector<TypeEntry> entries = Catalogue();
  if (json) {
    PrintJson(entries);
  } else {
    PrintTable(entries);
  }
  return 0;
}
