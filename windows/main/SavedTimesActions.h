#pragma once

class QComboBox;
class QLineEdit;

namespace vkt {

// The main window's actions on the saved times. Failures without a message of their own
// (a file that cannot be written or read) are thrown as vkt::Failure.

// Runs while the main window loads. A missing or unreadable "ujholdak.txt" is reported and
// leaves the list empty, so the program still opens.
void fillNewMoonList(QComboBox& newMoonList);

// "OK": the chosen entry (if any) into the new-moon field, then the field saved as it stands.
void confirmNewMoon(const QComboBox& newMoonList, QLineEdit& newMoonField);

// "Utolsó Újhold": the saved new moon back into the field.
void restoreLastNewMoon(QLineEdit& newMoonField);

// "Mentés": the observation time saved unless it is empty or blank.
void saveObservation(const QLineEdit& observationField);

} // namespace vkt
