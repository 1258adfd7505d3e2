#include "dia/sound_member.h"

#include <gtest/gtest.h>

#include <vector>

#include "classification_fixtures.h"
#include "support/temp_dir.h"

namespace vosk::dia {
namespace {

using classification_testing::Warned;
using testing::sj;

std::string sound_1220() {
  return sj(
      "[発メロ]\n東京=tokyo.wav\n品川=station.wav\n\n"
      "[ドア開]\nopen=open2.wav\nseries_1=e231_open.wav\nseries_2=\n\n"
      "[ドア閉]\nclose=close.wav\nseries_1=e231_close.wav\nseries_2=x.wav\n\n"
      "[ＡＴＣ]\nseries_1=atc.wav\nseries_2=\n\n"
      "[ポイント]\nseries_1=\nseries_2=pt.wav\n\n"
      "[走行音]\nseries_1=run.wav\nseries_2=run2.wav\n\n"
      "[ＢＶＥ]\nseries_1=\nseries_2=\n\n");
}

// Stand-ins for the station and series readers and writers: two stations
// and two series, looked up in the document the member hands over.
struct Parts {
  std::vector<std::string> stations{sj("東京"), sj("品川")};
  std::vector<std::string> melodies;
  std::vector<std::vector<std::string>> series_sounds;

  void load(const ini::Document& doc) {
    melodies.clear();
    for (const std::string& s : stations) {
      melodies.push_back(doc.get_string(melody_section(), s, "station.wav"));
    }
    series_sounds.assign(6, {});
    for (int k = 0; k < 6; ++k) {
      for (int n = 1; n <= 2; ++n) {
        series_sounds[static_cast<std::size_t>(k)].push_back(doc.get_string(
            series_sound_section(static_cast<SeriesSound>(k)), series_sound_key(n), ""));
      }
    }
  }
  SoundParts writers() const {
    return {[this](csv::Writer& out) {
              for (std::size_t k = 0; k < stations.size(); ++k) {
                out.printf("%s=%s\n", stations[k].c_str(), melodies[k].c_str());
              }
            },
            [this](SeriesSound sound, csv::Writer& out) {
              const auto& files = series_sounds[static_cast<std::size_t>(sound)];
              for (std::size_t n = 0; n < files.size(); ++n) {
                out.printf("series_%zu=%s\n", n + 1, files[n].c_str());
              }
            },
            {}};
  }
};

TEST(Dia_SoundMemberTests, RoundTripWithJapaneseKeys) {
  Warned warned("sound.ini");
  SoundMember sound;
  read_sound(sound_1220(), 1220, sound, warned.warnings);
  EXPECT_EQ(sound.door_open, "open2.wav");
  EXPECT_EQ(sound.door_close, "close.wav");
  Parts parts;
  parts.load(sound.document);
  EXPECT_EQ(parts.melodies, (std::vector<std::string>{"tokyo.wav", "station.wav"}));
  EXPECT_EQ(parts.series_sounds[3][1], "pt.wav");

  csv::Writer out;
  write_sound(sound, parts.writers(), out);
  EXPECT_EQ(out.str(), sound_1220());
  EXPECT_EQ(warned.prompt.count(), 0u);
}

TEST(Dia_SoundMemberTests, NewDiaWritesTheLayoutWithDefaults) {
  SoundMember sound;
  csv::Writer out;
  write_sound(sound, {}, out);
  EXPECT_EQ(out.str(), sj("[発メロ]\n\n[ドア開]\nopen=open.wav\n\n[ドア閉]\nclose=close.wav\n\n"
                          "[ＡＴＣ]\n\n[ポイント]\n\n[走行音]\n\n[ＢＶＥ]\n\n"));
}

TEST(Dia_SoundMemberTests, AWholeSeriesBlockReplacesTheSixSections) {
  SoundMember sound;
  SoundParts parts;
  parts.station_melodies = [](csv::Writer& out) { out.printf("a=b\n"); };
  parts.series_sounds = [](SeriesSound, csv::Writer&) { ADD_FAILURE(); };
  parts.series_sections = [](csv::Writer& out) { out.printf("[X]\n\n"); };
  csv::Writer out;
  write_sound(sound, parts, out);
  EXPECT_EQ(out.str(), sj("[発メロ]\na=b\n\n[X]\n\n"));
}

TEST(Dia_SoundMemberTests, MissingKeysTakeDefaultsAndLongValuesAreCut) {
  Warned warned("sound.ini");
  SoundMember sound;
  sound.door_open = "stale.wav";
  read_sound(sj("[ドア閉]\nclose=") + std::string(300, 'c') + "\n", 1220, sound, warned.warnings);
  EXPECT_EQ(sound.door_open, "open.wav");
  EXPECT_EQ(sound.door_close, std::string(255, 'c'));
  ASSERT_EQ(warned.prompt.count(), 1u);
  EXPECT_EQ(warned.prompt.last().text,
            "'sound.ini'の[ドア閉]closeの文字列が長すぎるため切り詰めました。\n");
}

}  // namespace
}  // namespace vosk::dia
