#include "dia/crew_message.h"

#include "base/ini.h"
#include "dia/classification_fields.h"

namespace vosk::dia {
namespace {

// Station class (major, staffed, unstaffed) x crew x punctuality.
constexpr const char* kStationKeys[] = {
    "主要駅・車掌乗務・定時", "主要駅・ワンマン・定時", "主要駅・車掌乗務・遅延",
    "主要駅・ワンマン・遅延", "有人駅・車掌乗務・定時", "有人駅・ワンマン・定時",
    "有人駅・車掌乗務・遅延", "有人駅・ワンマン・遅延", "無人駅・車掌乗務・定時",
    "無人駅・ワンマン・定時", "無人駅・車掌乗務・遅延", "無人駅・ワンマン・遅延",
};
constexpr const char* kBetweenKeys[] = {"車掌乗務・定時", "ワンマン・定時", "車掌乗務・遅延",
                                        "ワンマン・遅延"};
constexpr const char* kRunningStateKeys[] = {"ＡＴＣ"};
constexpr const char* kOrderKeys[] = {"当駅発車", "延発", "早発"};
constexpr const char* kDepartureKeys[] = {"余裕", "間際"};
constexpr const char* kStoppedStateKeys[] = {"発車音", "ドア閉", "信号待",
                                             "進路待", "抑止中", "通知待"};

constexpr CrewSection kSections[] = {
    {"走行中・到着", kStationKeys},   {"走行中・発車", kStationKeys},
    {"走行中・駅間", kBetweenKeys},   {"走行中・状態", kRunningStateKeys},
    {"停車中・到着", kStationKeys},   {"停車中・一時指令", kOrderKeys},
    {"停車中・発車", kDepartureKeys}, {"停車中・状態", kStoppedStateKeys},
};

constexpr std::size_t total_keys() {
  std::size_t n = 0;
  for (const CrewSection& s : kSections) n += s.keys.size();
  return n;
}
static_assert(total_keys() == kCrewMessageCount);

// Index of (section, key) in layout order.
std::optional<std::size_t> index_of(std::string_view section, std::string_view key) {
  std::size_t base = 0;
  for (const CrewSection& s : kSections) {
    if (section == s.name) {
      for (std::size_t k = 0; k < s.keys.size(); ++k) {
        if (key == s.keys[k]) return base + k;
      }
      return std::nullopt;
    }
    base += s.keys.size();
  }
  return std::nullopt;
}

}  // namespace

std::span<const CrewSection> crew_sections() { return kSections; }

std::optional<std::string_view> CrewMessages::get(std::string_view section,
                                                  std::string_view key) const {
  auto k = index_of(section, key);
  if (!k) return std::nullopt;
  return values_[*k];
}

bool CrewMessages::set(std::string_view section, std::string_view key, std::string_view value) {
  auto k = index_of(section, key);
  if (!k) return false;
  values_[*k] = fit_text(value, kLongText);
  return true;
}

void read_crew_msg(std::string_view content, int /*version*/, CrewMessages& messages,
                   MemberWarnings& warnings) {
  ini::Document doc = ini::Document::parse(content);
  std::size_t k = 0;
  for (const CrewSection& s : kSections) {
    std::string section = cp932(s.name);
    for (const char* key : s.keys) {
      messages.values()[k++] = profile_text(doc, section, cp932(key), "", kLongText, warnings);
    }
  }
}

void write_crew_msg(const CrewMessages& messages, csv::Writer& out) {
  std::size_t k = 0;
  for (const CrewSection& s : kSections) {
    out.printf("[%s]\n", cp932(s.name).c_str());
    for (const char* key : s.keys) {
      out.printf("%s=%s\n", cp932(key).c_str(), messages.values()[k++].c_str());
    }
    out.printf("\n");
  }
}

}  // namespace vosk::dia
