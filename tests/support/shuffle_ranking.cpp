// The shuffle's ranking as first written.
#include "shuffle_ranking.h"

void RankShuffleKeysLiteral(const int* keys, int* out, int n) {
    for (int i = 0; i < n; ++i) out[i] = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (keys[j] < keys[i]) ++out[i];
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j != i && out[j] == out[i]) ++out[j];
        }
    }
}
