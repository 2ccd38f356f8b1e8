// Handlers of the "Rakousko" tab.
#include "_frmVemo.h"

void TfrmVemo::cboAUDalniceChange() {}
void TfrmVemo::btnAUSelectClick() {}
void TfrmVemo::btnAUUnselectClick() {}
void TfrmVemo::lbxAUCisClick() {}
void TfrmVemo::lbxAUTrasaClick() {}
void TfrmVemo::cboAUKategorieChange() {}
