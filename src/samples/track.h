#pragma once
// Track of the sample map laid out as segments. A segment is one PRail
// carrying a pair of rails: rail a runs rightward (direction 2), rail b
// leftward (direction 1). Segments meet end to end, or at a fan: a point
// whose trunk segment meets several branch segments at one place. The
// builder then writes the Rail, PRail and Point tables, links mirrored and
// display positions joined.
#include <functional>
#include <string>
#include <vector>

#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/point.h"
#include "map/rail.h"

namespace vosk::samples {

// A position in display-row units.
struct XY {
  int x = 0;
  int y = 0;
  bool operator==(const XY&) const = default;
};

enum class SegmentKind {
  Line,      // open line between stations
  Yard,      // plain track inside a station
  Platform,  // a platform track: the segment's rails stop at the target
  Siding,    // stabling track without platform
  Switch,    // part of a point
};

struct Segment {
  XY left;  // left.x < right.x, so rail a gets direction 2 and rail b direction 1
  XY right;
  SegmentKind kind = SegmentKind::Line;
  int station = 0;  // station whose yard holds the segment (its area); 0 on the open line
  int target = 0;   // platforms: the target served
  int length = 0;   // m, both rails
  int speed_limit = 0;
  int gradient = 0;  // per mille seen rightward; rail b gets the negated value
  int radius = 0;    // m seen rightward; rail b gets the negated value
  bool single_track = false;
  int group = -1;               // open-line section the segment belongs to, for lengths and names
  int band = 0;                 // track it runs on (layout's own numbering)
  std::string name_a, short_a;  // CP932
  std::string name_b, short_b;

  // Filled by the builder.
  std::vector<int> left_links, right_links;  // segments met at each end
  int left_fan = 0;                          // fan at the left end, 0 = plain joint or none
  int right_fan = 0;
  int fan = 0;  // fan the segment belongs to
};

struct Fan {
  int trunk = 0;
  std::vector<int> branches;  // position k joins the trunk to branch k
  bool opens_right = true;    // the trunk's right end meets the branches' left ends
  int position = 0;
  int normal_position = 0;
  int mode = map::kPointRestore;
  std::string key;  // CP932
};

class TrackBuilder {
 public:
  static int rail_a(int segment) { return 2 * segment - 1; }
  static int rail_b(int segment) { return 2 * segment; }
  static int segment_of(int rail) { return (rail + 1) / 2; }

  // Adds a segment and returns its number (its PRail number).
  int add(XY left, XY right, SegmentKind kind);
  // Joins the right end of `left` to the left end of `right`.
  void join(int left, int right);
  // Makes a point of `trunk` and `branches`, which must meet at one place.
  // Returns the point's number.
  int fan(int trunk, std::vector<int> branches, bool opens_right);

  Segment& segment(int n) { return segments_[static_cast<std::size_t>(n)]; }
  const Segment& segment(int n) const { return segments_[static_cast<std::size_t>(n)]; }
  Fan& point(int n) { return fans_[static_cast<std::size_t>(n)]; }
  const Fan& point(int n) const { return fans_[static_cast<std::size_t>(n)]; }
  int segment_count() const { return static_cast<int>(segments_.size()) - 1; }
  int point_count() const { return static_cast<int>(fans_.size()) - 1; }

  // Writes every segment and point into allocated tables. `row_of(x)` gives
  // the display row of a segment whose left end lies at x. A point's key is
  // written above its track when the point lies above `key_line_y`, below it
  // otherwise, so that keys stay out of the band around that line.
  void write(RecordTable<map::Rail>& rails, RecordTable<map::PRail>& prails,
             RecordTable<map::Point>& points, const std::function<int(int)>& row_of,
             int key_line_y) const;

 private:
  // The signed link across one end of `s` for its rail a (or b), the point at
  // that end being in `position`.
  int link(int s, bool right_end, bool rail_is_a, int position) const;
  int position_at(int s, bool right_end) const;

  std::vector<Segment> segments_ = std::vector<Segment>(1);
  std::vector<Fan> fans_ = std::vector<Fan>(1);
};

}  // namespace vosk::samples
