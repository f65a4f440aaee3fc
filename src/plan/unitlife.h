#pragma once
// The second step of the plan: a unit planned at the setting its technician dials, and
// how long its cartridge or reservoir lasts by its model's life rule
// (core::LubricatorModel::life). A single-point unit is planned alone; the points of a
// multi-point unit together (the outlets' set rates summed, or one pause for the pump
// from its most demanding point and the drain of every outlet per cycle).

#include "plan/plan.h"
#include "plan/pointread.h"

#include <string>
#include <vector>

namespace unctora::plan {

inline constexpr double kDaysPerMonth = 365.2425 / 12;

// The point cannot be served: it has no dates and is not over-greased.
void tooSmall(PointPlan& p, PlanMessage m);

// A single-point unit at the setting its technician dials: the slowest one when the
// bearing needs less, none when it needs more than the fastest.
void planSinglePoint(PointPlan& p, const Demand& d);

// The points of one multi-point unit (one point when it is a unit of its own), all of
// the same model, read and computed. Sets the life, setting and delivery of each.
void planMultiPoint(const std::vector<PointPlan*>& pts, const std::vector<const Demand*>& ds,
                    const std::vector<std::string>& ids, const std::string& unitName, core::Units units);

// A cartridge in place runs at the setting dialled when it went in (`rec`, the change
// it went in with): the point is marked while today's inputs give another setting, and
// a single-point unit's life follows the dialled one.
void followDialled(PointPlan& p, const ChangeRecord* rec);

// The same for a multi-point unit, whose points were planned together: its reservoir
// drains at the rates its outlets were set to at their last changes (today's rate where
// a point has none), or at the pump setting dialled at the latest change. recs[i] is
// the change points[i] went in with, or null.
void followDialledUnit(const std::vector<PointPlan*>& pts, const std::vector<const ChangeRecord*>& recs);

} // namespace unctora::plan
