#pragma once
// Drives the table loader with one member of a sound data set replaced by
// fuzz input. The first input byte picks the member from the target's list,
// the second the data version (every version where a layout changes, and
// the one before it); the rest is the member's content. Whatever loads must
// also write back.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/bundle_writer.h"
#include "datafiles/header_reader.h"
#include "datafiles/member_lookup.h"
#include "datafiles/table_loader.h"
#include "fuzz_support.h"

namespace vosk::fuzz {

inline constexpr int kVersions[] = {999,  1000, 1008, 1009, 1010, 1040, 1041, 1069, 1070, 1109,
                                    1110, 1139, 1140, 1149, 1150, 1209, 1210, 1219, 1220};

// The base members, with one of them swapped for other content.
class SwappedMemberLookup : public datafiles::MemberLookup {
 public:
  SwappedMemberLookup(std::string name, std::string content)
      : name_(std::move(name)), content_(std::move(content)) {}

 protected:
  std::optional<std::string_view> find_named(const std::string& name) override {
    if (name == name_) return content_;
    const bundle::Member* m = base_members().find(name);
    if (!m) return std::nullopt;
    return m->content;
  }

 private:
  std::string name_;
  std::string content_;
};

inline const datafiles::Header& base_header() {
  static const datafiles::Header header = [] {
    GoOnPrompt prompt;
    const bundle::Member* qvd = base_members().find_by_extension("qvd");
    return datafiles::read_header(qvd->content, "/nonexistent", prompt).header;
  }();
  return header;
}

inline std::string member_name(datafiles::Member m) { return base_header().member(m).name; }

inline std::vector<std::string> member_names(std::initializer_list<datafiles::Member> members) {
  std::vector<std::string> names;
  for (datafiles::Member m : members) names.push_back(member_name(m));
  return names;
}

inline int fuzz_member(const std::vector<std::string>& names, const std::uint8_t* data,
                       std::size_t size) {
  if (size < 2 || names.empty()) return 0;
  const std::string& name = names[data[0] % names.size()];
  int version = kVersions[data[1] % std::size(kVersions)];
  std::string content(reinterpret_cast<const char*>(data + 2), size - 2);

  GoOnPrompt prompt;
  datafiles::DataSet ds;
  ds.header = base_header();
  ds.header.loaded_version = version;
  SwappedMemberLookup lookup(name, std::move(content));
  datafiles::load_tables(ds, lookup, prompt, {});
  if (has_huge_tables(ds)) return 0;
  std::string written = datafiles::write_bundle(ds);
  if (written.empty()) __builtin_trap();
  return 0;
}

}  // namespace vosk::fuzz
