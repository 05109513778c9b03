// The control that shows one playing card: a picture stretched to its bounds
// (71 × 96 on the table), taken from the card-image library whenever the
// card's face, side or back design changes. It carries no game logic.
#pragma once

#include "cards/CardFace.h"

#include <cstdint>

#include <QPoint>
#include <QWidget>

namespace vexa {

class CardLibrary;

class CardWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 71;
    static constexpr int kHeight = 96;

    // A new card shows the ace of clubs face up; it fetches that picture at
    // once, so this throws the library's error when it cannot be had.
    explicit CardWidget(CardLibrary& library, QWidget* parent = nullptr);

    CardState State() const { return face_.State(); }
    int CardBackStyle() const { return face_.CardBackStyle(); }
    int Value() const { return face_.Value(); }
    CardSuit Suit() const { return face_.Suit(); }
    int Deckvalue() const { return face_.Deckvalue(); }
    std::uint8_t Colour() const { return face_.Colour(); }

    // The setters of the card's properties: out-of-range and unchanged values
    // are ignored; a change of the shown picture fetches it and throws the
    // library's error when that fails (the field keeps its new value and the
    // old picture stays on screen).
    void SetState(CardState state);
    void SetCardBackStyle(int style);
    void SetValue(int value);
    void SetSuit(CardSuit suit);
    void SetDeckvalue(int deckvalue);

    // Takes over the properties and the shown picture of a card of the game
    // core, which has already fetched that picture. Repaints only when the
    // shown picture changes.
    void Mirror(const CardFace& face);

    // The number of the picture on screen (0 before any was fetched).
    int Picture() const { return shown_; }
    const CardFace& Face() const { return face_; }

signals:
    // A press and release of the primary button on the card.
    void Click(vexa::CardWidget* card);
    void MouseDown(vexa::CardWidget* card, Qt::MouseButton button, QPoint pos);
    void MouseUp(vexa::CardWidget* card, Qt::MouseButton button, QPoint pos);
    // The pointer moved while the primary button is held after a press on
    // the card; global screen position.
    void MouseMove(vexa::CardWidget* card, QPoint global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Passes fetches on to the library, except while mirroring a core card.
    class Source : public PictureSource {
    public:
        explicit Source(CardLibrary& library) : library_(library) {}
        void LoadCardBitmap(int number) override;
        CardLibrary& library_;
        bool quiet_ = false;
    };

    template <typename Change>
    void Apply(Change change);

    Source source_;
    CardFace face_;
    int shown_ = 0;
    bool pressed_ = false;
};

}  // namespace vexa
