#include "stock/series_file_keys.h"

#include "base/sjis.h"

namespace vosk::stock {
namespace {

std::string cp932(const char* utf8) { return sjis::from_utf8_lossy(utf8); }

SeriesFileKeys make_keys() {
  SeriesFileKeys k;
  k.section = cp932("形式情報");
  k.name = cp932("形式名");
  k.short_name = cp932("略記");
  k.cars = cp932("両数");
  k.train_length = cp932("編成長");
  k.door_count = cp932("ドア総数");
  k.door_width = cp932("ドア幅");
  k.capacity = cp932("定員");
  k.max_load = cp932("最大乗車率");
  k.max_speed = cp932("最高速度");
  k.gauge = cp932("軌間");
  k.electrification = {"NONELEC", "DC600V", "DC750V", "DC1500V", "AC20000V", "AC25000V"};
  k.turnback_time = {cp932("折返し時間最小値"), cp932("折返し時間中間値"),
                     cp932("折返し時間最大値")};
  k.coupling_time = {cp932("併合時間最小値"), cp932("併合時間中間値"), cp932("併合時間最大値")};
  k.splitting_time = {cp932("分割時間最小値"), cp932("分割時間中間値"), cp932("分割時間最大値")};
  k.acceleration = cp932("加速度");
  k.service_brake = {cp932("常用ブレーキ１段"), cp932("常用ブレーキ２段"),
                     cp932("常用ブレーキ３段")};
  k.atc_brake = cp932("ＡＴＣブレーキ");
  k.emergency_brake = cp932("非常ブレーキ");
  k.characteristics = cp932("走行特性");
  k.train_mass = cp932("列車質量");
  k.motors = cp932("モータ個数");
  k.inertia = cp932("慣性係数");
  k.running_resistance = {cp932("走行抵抗係数Ａ"), cp932("走行抵抗係数Ｂ"), cp932("走行抵抗係数Ｃ"),
                          cp932("走行抵抗係数Ｄ")};
  k.curve_resistance = cp932("曲線抵抗係数");
  k.running_sound_speed = cp932("走行音速度");
  k.acceleration_table = cp932("加速度テーブル");
  k.curve_table = cp932("曲線制限テーブル");
  k.picture = cp932("画像");
  k.icon = cp932("画像16");
  k.sounds = {cp932("ドア開"),   cp932("ドア閉"), cp932("ＡＴＣ"),
              cp932("ポイント"), cp932("走行音"), cp932("ＢＶＥ")};
  return k;
}

}  // namespace

const SeriesFileKeys& series_file_keys() {
  static const SeriesFileKeys keys = make_keys();
  return keys;
}

}  // namespace vosk::stock
