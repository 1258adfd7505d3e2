#include "dia/sound_member.h"

#include "base/format.h"
#include "dia/classification_fields.h"
#include "map/station.h"

namespace vosk::dia {
namespace {

constexpr const char* kSeriesSections[] = {"ドア開",   "ドア閉", "ＡＴＣ",
                                           "ポイント", "走行音", "ＢＶＥ"};
constexpr SeriesSound kSeriesSounds[] = {SeriesSound::DoorOpen, SeriesSound::DoorClose,
                                         SeriesSound::Atc,      SeriesSound::Point,
                                         SeriesSound::Running,  SeriesSound::Bve};

}  // namespace

std::string melody_section() { return std::string(map::kMelodySection); }

std::string series_sound_section(SeriesSound sound) {
  return cp932(kSeriesSections[static_cast<int>(sound)]);
}

std::string series_sound_key(int series) { return format("series_%d", series); }

void read_sound(std::string_view content, int /*version*/, SoundMember& sound,
                MemberWarnings& warnings) {
  sound.document = ini::Document::parse(content);
  sound.door_open = profile_text(sound.document, series_sound_section(SeriesSound::DoorOpen),
                                 "open", "open.wav", kLongText, warnings);
  sound.door_close = profile_text(sound.document, series_sound_section(SeriesSound::DoorClose),
                                  "close", "close.wav", kLongText, warnings);
}

void write_sound(const SoundMember& sound, const SoundParts& parts, csv::Writer& out) {
  out.printf("[%s]\n", melody_section().c_str());
  if (parts.station_melodies) parts.station_melodies(out);
  out.printf("\n");
  if (parts.series_sections) {
    parts.series_sections(out);
    return;
  }
  for (SeriesSound s : kSeriesSounds) {
    out.printf("[%s]\n", series_sound_section(s).c_str());
    if (s == SeriesSound::DoorOpen) out.printf("open=%s\n", sound.door_open.c_str());
    if (s == SeriesSound::DoorClose) out.printf("close=%s\n", sound.door_close.c_str());
    if (parts.series_sounds) parts.series_sounds(s, out);
    out.printf("\n");
  }
}

}  // namespace vosk::dia
