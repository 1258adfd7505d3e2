#pragma once
// Creating and deleting route levers and route buttons. The two tables grow
// as records are added; deleting a record clears every reference to it and
// moves the later records down by one, their references following.
#include "base/record_table.h"
#include "map/p_rail.h"
#include "map/rail.h"
#include "map/route_button.h"
#include "map/route_lever.h"

namespace vosk::map {

// The records a lever or button refers to or is referred to by.
struct InterlockingTables {
  RecordTable<Rail>& rails;
  RecordTable<PRail>& prails;
  RecordTable<RouteLever>& levers;
  RecordTable<RouteButton>& buttons;
};

// 1 when the rail's next end lies left of its back end, else 2.
int lever_direction(const Rail& rail);

// Appends a lever starting at rail j (restore control, no route, both
// symbols shown near j's next end) and makes it j's route lever. Returns
// its number.
int create_lever(InterlockingTables& t, int j);

// Appends a button at rail j's back end and makes it j's route button,
// unless j already has one. Returns the button of j.
int create_button(InterlockingTables& t, int j);

// Removes lever n (1 .. extent) with every reference to it.
void delete_lever(InterlockingTables& t, int n);
// Removes button n (1 .. extent) with every reference to it.
void delete_button(InterlockingTables& t, int n);

}  // namespace vosk::map
