// The redeal status an empty stock shows as its hint.
#pragma once

#include <string>

namespace vexa {

struct Session;
class Pile;

// "No redeals", "1 redeal left", "N redeals left" or "Unlimited redeals".
std::string RedealStatusText(int redealsLeft);

// Writes the status into the pile's hint and switches the hint on.
void ShowRedealStatus(Session& session, Pile& pile);

// Every Kind-0 pile: hint off while it holds cards, the status while empty.
void RefreshStockHints(Session& session);

}  // namespace vexa
