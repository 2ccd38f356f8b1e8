// Handlers of the "Německo" tab.
#include "_frmVemo.h"

void TfrmVemo::cboDalniceChange() {}
void TfrmVemo::btnSelectClick() {}
void TfrmVemo::btnUnselectClick() {}
void TfrmVemo::lbxCisClick() {}
void TfrmVemo::lbxTrasaClick() {}
void TfrmVemo::cboKategorieChange() {}
void TfrmVemo::speNapravyChange() {}
void TfrmVemo::curSazbaChange() {}
