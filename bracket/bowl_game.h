#pragma once

#include <QtGlobal>

class Random;

namespace bracket {
// A side's score: the best of `strength` draws from 2 to the ceiling (0 when
// the strength is 0 or less).
qint32 drawScore(Random &generator, qint32 strength, qint32 ceiling);
}
