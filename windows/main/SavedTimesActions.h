#pragma once

class QComboBox;
class QLineEdit;

namespace vkt {

// The main window's actions on the saved times. Failures without a message of their own
// (a file that cannot be written or read) are thrown as vkt::Failure.

// Runs while the main window loads. A missing or unreadable "ujholdak.txt" is reported and
// leaves the list empty, so the program still opens.
void fillNewMoonList(QComboBox& Ujholdak);

// "OK": the chosen entry (if any) into Text11, then Text11 saved as it stands.
void confirmNewMoon(const QComboBox& Ujholdak, QLineEdit& Text11);

// "Utolsó Újhold": the saved new moon back into Text11.
void restoreLastNewMoon(QLineEdit& Text11);

// "Mentés": Text12 saved unless it is empty or blank.
void saveObservation(const QLineEdit& Text12);

} // namespace vkt
