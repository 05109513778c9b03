// The properties of one card as the card control exposes them: which card it
// is, which way up it lies and which back design it shows. The setters keep
// Deckvalue, Value, Suit and Colour consistent and ask the picture source for
// the new picture whenever the shown picture changes.
#pragma once

#include <cstdint>

namespace vexa {

enum CardState : std::uint8_t { ctFront = 0, ctBack = 1 };
enum CardSuit : std::uint8_t { csClubs = 0, csDiamonds = 1, csHearts = 2, csSpades = 3 };

// Hands out card pictures by number (1..52 faces, 53..65 backs). Load throws
// a VexaError when the picture cannot be had; the card then keeps showing
// its previous picture.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual void LoadCardBitmap(int number) = 0;
};

// A source that always succeeds, for headless use.
class NullPictureSource : public PictureSource {
public:
    void LoadCardBitmap(int) override {}
};

class CardFace {
public:
    // Loads picture 1 (the ace of clubs) at once, as a new card control does.
    explicit CardFace(PictureSource& pictures);

    CardState State() const { return state_; }
    int CardBackStyle() const { return backStyle_; }
    int Value() const { return value_; }
    CardSuit Suit() const { return suit_; }
    std::uint8_t Colour() const { return colour_; }
    int Deckvalue() const { return deckvalue_; }

    void SetState(CardState state);
    // How many times any card has been turned: a caller that keeps a copy
    // of the cards can tell whether any turned since.
    static std::uint64_t Turns();
    void SetCardBackStyle(int style);
    void SetValue(int value);
    void SetSuit(CardSuit suit);
    void SetDeckvalue(int deckvalue);

    // The number of the picture the card should show for its properties.
    int WantedPicture() const;
    // The number of the picture last loaded successfully (what is on screen).
    int Picture() const { return picture_; }
    // How many pictures were loaded so far (for tests and benchmarks).
    int Loads() const { return loads_; }

private:
    void RefreshPicture();

    PictureSource* pictures_;
    CardState state_ = ctFront;
    int backStyle_ = 1;
    int value_ = 1;
    CardSuit suit_ = csClubs;
    std::uint8_t colour_ = 0;
    int deckvalue_ = 1;
    int picture_ = 0;
    int loads_ = 0;
};

}  // namespace vexa
