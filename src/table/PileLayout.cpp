#include "table/PileLayout.h"

#include <algorithm>

namespace vexa {

namespace {

void Place(Card& card, int left, int top) { card.Bounds = {left, top, CardWidth, CardHeight}; }

void Show(Card& card, bool visible) { card.Visible = visible; }

// The width and height the visible cards of a pile reach, where its layout
// placed and showed every card (else the cards are read again).
struct Extent {
    bool Known = false;
    int Width = 0, Height = 0;
};

// The extent of k visible cards stepped by (dx, dy) from the pile's corner.
Extent Stepped(int k, int dx, int dy)
{
    if (k == 0) return {true, 0, 0};
    return {true, dx * (k - 1) + CardWidth, dy * (k - 1) + CardHeight};
}

void SettleScrollBars(Pile& pile, int contentWidth, int contentHeight);

// Style 401: a fan in the pile's Direction, every card visible.
Extent LayOutFan(Pile& pile)
{
    if (pile.Horz.Visible) pile.Horz.Position = 0;
    if (pile.Vert.Visible) pile.Vert.Position = 0;
    const int n = pile.Count();
    const int width = pile.Bounds.width;
    const int shift = std::max(0, (n - 1) * FanStepX + CardWidth - width);
    for (int i = 0; i < n; ++i) {
        Card& card = *pile.CardAt(i);
        switch (pile.Direction) {
        case 0: Place(card, 0, FanStepY * i); break;
        case 1: Place(card, FanStepX * i, 0); break;
        case 2: Place(card, 0, 0); break;
        case 3: Place(card, shift + width - CardWidth - FanStepX * i, 0); break;
        default: continue;  // any other Direction leaves the cards where they are
        }
        Show(card, true);
    }
    switch (pile.Direction) {
    case 0: return Stepped(n, 0, FanStepY);
    case 1: return Stepped(n, FanStepX, 0);
    case 2: return Stepped(n, 0, 0);
    case 3: return n == 0 ? Extent{true, 0, 0} : Extent{true, shift + width, CardHeight};
    default: return {};
    }
}

// Style 402: a square stack showing only its top card.
Extent LayOutStack(Pile& pile)
{
    for (Card* card : pile.Cards()) {
        Place(*card, 0, 0);
        Show(*card, false);
    }
    if (pile.Count() == 0)
        ++pile.RepaintCount;
    else
        Show(*pile.Top(), true);
    return Stepped(std::min(pile.Count(), 1), 0, 0);
}

// Style 403: a stack whose top three cards are fanned.
Extent LayOutTopThree(Pile& pile)
{
    const int n = pile.Count();
    const bool down = pile.Direction == 0;
    auto step = [down](int i) { return down ? std::pair{0, FanStepY * i} : std::pair{FanStepX * i, 0}; };
    for (int i = 0; i < n; ++i) {
        Card& card = *pile.CardAt(i);
        if (n < 3) {
            auto [x, y] = step(i);
            Place(card, x, y);
            Show(card, true);
        } else if (i < n - 3) {
            Place(card, 0, 0);
            Show(card, false);
        } else {
            auto [x, y] = step(i - (n - 3));
            Place(card, x, y);
            Show(card, true);
        }
    }
    return down ? Stepped(std::min(n, 3), 0, FanStepY) : Stepped(std::min(n, 3), FanStepX, 0);
}

// Style 404: a stack that turns its thirteenth card face down, so that a
// completed pile of thirteen shows a card back.
Extent LayOutClosingStack(Pile& pile)
{
    for (Card* card : pile.Cards()) {
        Place(*card, 0, 0);
        Show(*card, false);
    }
    if (pile.Count() == 0) {
        ++pile.RepaintCount;
        return {true, 0, 0};
    }
    if (pile.Count() >= 13) pile.CardAt(12)->Face.SetState(ctBack);
    Show(*pile.Top(), true);
    return Stepped(1, 0, 0);
}

}  // namespace

void LayOutPile(Pile& pile)
{
    Extent extent;
    switch (pile.LayoutStyle) {
    case 401: extent = LayOutFan(pile); break;
    case 402: extent = LayOutStack(pile); break;
    case 403: extent = LayOutTopThree(pile); break;
    case 404: extent = LayOutClosingStack(pile); break;
    default: return;  // the DragPile (400) and unknown styles are left alone
    }
    if (extent.Known)
        SettleScrollBars(pile, extent.Width, extent.Height);
    else
        UpdateScrollBars(pile);
}

void UpdateScrollBars(Pile& pile)
{
    int contentWidth = 0, contentHeight = 0;
    for (const Card* card : pile.Cards()) {
        if (!card->Visible) continue;
        contentWidth = std::max(contentWidth, card->Bounds.left + card->Bounds.width);
        contentHeight = std::max(contentHeight, card->Bounds.top + card->Bounds.height);
    }
    SettleScrollBars(pile, contentWidth, contentHeight);
}

namespace {

void SettleScrollBars(Pile& pile, int contentWidth, int contentHeight)
{
    const bool mayHorz = !pile.ScrollBarsHidden && (pile.Direction == 1 || pile.Direction == 3);
    const bool mayVert = !pile.ScrollBarsHidden && (pile.Direction == 0 || pile.Direction == 3);
    bool horz = false, vert = false;
    // Two passes: one bar appearing narrows the room left for the other.
    for (int pass = 0; pass < 2; ++pass) {
        const int clientWidth = pile.Bounds.width - (vert ? ScrollBarSize : 0);
        const int clientHeight = pile.Bounds.height - (horz ? ScrollBarSize : 0);
        horz = mayHorz && contentWidth > clientWidth;
        vert = mayVert && contentHeight > clientHeight;
    }
    const int clientWidth = pile.Bounds.width - (vert ? ScrollBarSize : 0);
    const int clientHeight = pile.Bounds.height - (horz ? ScrollBarSize : 0);
    auto settle = [](ScrollBar& bar, bool visible, int content, int client) {
        bar.Visible = visible;
        bar.Range = visible ? std::max(0, content - client) : 0;
        bar.Position = std::clamp(bar.Position, 0, bar.Range);
    };
    settle(pile.Horz, horz, contentWidth, clientWidth);
    settle(pile.Vert, vert, contentHeight, clientHeight);
}

}  // namespace

}  // namespace vexa
