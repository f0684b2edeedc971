#pragma once

#include "model/OptimizationModel.h"

namespace quelmora {

class TParametersPanel;
class TProductTableModel;

// What the user finished typing becomes part of the project as soon as it
// can be taken over, so that each finished edit is one undo step; text that
// cannot be taken over stays on screen and in no step until it is fixed.

// The grid row Row (from 0) into Project when it reads as a whole product;
// true when that changed the project.
bool TakeOverGridRow(const TProductTableModel& Grid, int Row, TProjectData& Project);
// The quick fields and the criterion into Project; true when that changed
// it, false also when a field cannot be taken over.
bool TakeOverParameters(const TParametersPanel& Parameters, TProjectData& Project);
// Everything on screen into Project, without telling the user what cannot
// be taken over; false then, and Project unchanged.
bool TakeOverQuietly(const TProductTableModel& Grid, const TParametersPanel& Parameters,
                     TProjectData& Project);

}  // namespace quelmora
