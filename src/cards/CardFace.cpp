#include "cards/CardFace.h"

#include <atomic>

namespace vexa {

namespace {
// Counted across threads: a solver built on one thread may search on
// another, and a count it compares must move whichever thread turned a card.
std::atomic<std::uint64_t> turns{0};
std::uint8_t ColourOf(CardSuit suit) { return (suit == csDiamonds || suit == csHearts) ? 1 : 0; }
}  // namespace

CardFace::CardFace(PictureSource& pictures) : pictures_(&pictures) { RefreshPicture(); }

std::uint64_t CardFace::Turns() { return turns.load(std::memory_order_relaxed); }

int CardFace::WantedPicture() const { return state_ == ctBack ? backStyle_ + 52 : suit_ * 13 + value_; }

void CardFace::RefreshPicture()
{
    const int n = WantedPicture();
    ++loads_;
    pictures_->LoadCardBitmap(n);  // may throw: the old picture stays
    picture_ = n;
}

void CardFace::SetState(CardState state)
{
    if (state == state_) return;
    state_ = state;
    turns.fetch_add(1, std::memory_order_relaxed);
    RefreshPicture();
}

void CardFace::SetCardBackStyle(int style)
{
    if (style < 1 || style > 13 || style == backStyle_) return;
    backStyle_ = style;
    if (state_ == ctBack) RefreshPicture();
}

void CardFace::SetValue(int value)
{
    if (value < 1 || value > 13 || value == value_) return;
    value_ = value;
    deckvalue_ = value + suit_ * 13;
    if (state_ == ctFront) RefreshPicture();
}

void CardFace::SetSuit(CardSuit suit)
{
    if (suit == suit_) return;
    suit_ = suit;
    deckvalue_ = suit_ * 13 + value_;
    colour_ = ColourOf(suit_);
    if (state_ == ctFront) RefreshPicture();
}

void CardFace::SetDeckvalue(int deckvalue)
{
    if (deckvalue < 1 || deckvalue > 52 || deckvalue == deckvalue_) return;
    deckvalue_ = deckvalue;
    value_ = (deckvalue - 1) % 13 + 1;
    suit_ = static_cast<CardSuit>((deckvalue - 1) / 13);
    colour_ = ColourOf(suit_);
    if (state_ == ctFront) RefreshPicture();
}

}  // namespace vexa
