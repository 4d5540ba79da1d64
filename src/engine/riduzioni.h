#pragma once

namespace novanta {

// The two reduction windows keep their rules here, so the windows stay thin.
//
// At load each window brings its value into the range of its scroll bar for the current
// column length: N-x into 0..k, the minimum distance into 1..k.
void ApriRidotto();
void ApriRidottoDistanzaMinima();

// At unload, after the window has written its scroll bar value and its ON/OFF choice back:
// the window closed last wins. Closing the N-x window with both reductions on switches the
// minimum distance off (message "0021"); closing the minimum-distance window with both on
// switches N-x off (message "0005"). Both tell the user with the exclamation icon.
void ChiudiRidotto();
void ChiudiRidottoDistanzaMinima();

}  // namespace novanta
