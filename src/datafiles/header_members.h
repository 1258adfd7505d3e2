#pragma once
// How each member of [ファイル] is found in files of older versions.
#include "datafiles/header_model.h"

namespace vosk::datafiles {

// Versions of the member list.
inline constexpr int kFirstVersionWithoutOldMap = 35;  // older: the map came from old_map/
inline constexpr int kFirstVersionWithNewKeys = 1000;  // series, require_time

struct MemberRule {
  Member member;
  const char* key;        // key from kFirstVersionWithNewKeys on (or always, without older_key)
  const char* older_key;  // key before kFirstVersionWithNewKeys, or null
  const char* file;       // member name the writer uses
  int read_from;          // the key is read only from this version on ...
  const char* old_map;    // ... before that the table is this file in old_map/, or none
};

const MemberRule& member_rule(Member m);

}  // namespace vosk::datafiles
