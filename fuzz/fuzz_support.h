#pragma once
// What the data-set fuzz targets share: a prompt that always lets loading go
// on, and a small generated data set whose members serve as the base that
// a target damages.
#include <string>

#include "base/prompt.h"
#include "datafiles/bundle.h"
#include "datafiles/bundle_writer.h"
#include "samples/generator.h"

namespace vosk::fuzz {

// Answers every question the way that keeps a load going the longest.
class GoOnPrompt : public Prompt {
 public:
  Answer ask(const std::string&, const std::string&, Buttons buttons) override {
    switch (buttons) {
      case Buttons::Ok:
      case Buttons::OkCancel:
        return Answer::Ok;
      case Buttons::YesNo:
        return Answer::Yes;
      case Buttons::YesNoCancel:
        return Answer::No;
      case Buttons::AbortRetryIgnore:
        return Answer::Ignore;
    }
    return Answer::Ok;
  }
};

// The bundle text of a small generated data set, made once.
inline const std::string& base_bundle_text() {
  static const std::string text = [] {
    datafiles::DataSet ds = samples::make_sample({.stations = 6, .runs = 12, .seed = 3});
    return datafiles::write_bundle(ds);
  }();
  return text;
}

// One line can number a record in the hundreds of thousands, and the dia
// tables grow to hold it. That is valid data, but writing such tables back
// under the fuzzer's instrumentation takes tens of seconds: no finding,
// only lost time. Targets skip their write-back checks for these.
inline bool has_huge_tables(const datafiles::DataSet& ds) {
  return ds.dia.diagrams.extent() + ds.dia.trains.extent() + ds.dia.units.extent() > 50000;
}

inline const bundle::MemberSet& base_members() {
  static const bundle::MemberSet members = bundle::split(base_bundle_text()).members;
  return members;
}

}  // namespace vosk::fuzz
