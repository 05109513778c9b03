// Where the view tests find the card-image libraries: the real one in the
// folder named by VEXA_CARDS_DIR, the damaged one in VEXA_FAULTY_CARDS_DIR
// (missing back 58, empty picture 5, unloadable picture 7, picture 9 not a
// bitmap).
#pragma once

#include <QString>
#include <QStringList>

namespace vexa::test {

inline QStringList CardsDirs() { return {qEnvironmentVariable("VEXA_CARDS_DIR")}; }

#ifdef VEXA_FAULTY_CARDS_DIR
inline QStringList FaultyCardsDirs() { return {QStringLiteral(VEXA_FAULTY_CARDS_DIR)}; }
#endif

}  // namespace vexa::test
