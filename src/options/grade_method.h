#pragma once
#include <array>
#include <string>

namespace optora {

// The suite-wide grade method, stored under the rule-table key as the display
// text of the method (in the language in use when it was saved).
std::array<std::string, 3> GradeMethodTexts();

// Sets index to the stored method's; a text edited by hand or saved in another
// language leaves it as it was. Writes the first method when none is stored
// and then says true.
bool ReadGradeMethod(int& index);
// The getter's answer: the stored method's index (the first while it matches
// none), kept while nothing changed.
int GradeMethodIndex();
// Stores the text of the method at index (empty for any other index); when
// announce is set and the text was written, tells the suite.
void SaveGradeMethod(int index, bool announce);
// The setter's path: no dialog marks a change, so the stored text decides.
void SaveGradeMethodIfChanged(int index);

}  // namespace optora
