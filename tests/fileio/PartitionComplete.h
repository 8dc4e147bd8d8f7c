// A score that uses every field and attachment the native file keeps, and its print chords:
// the subject of the round-trip, truncation and mutation tests, and the fuzzer's seed.
#pragma once

class cPartition;
class cListeAccordsImpression;

void ConstruirePartitionComplete(cPartition &p, cListeAccordsImpression &liste);
