// Deep comparison of two scores (and of print chord lists): every field a file keeps, down to
// the bend points. For round-trip tests of every file format.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

class cPartition;
class cListeAccordsImpression;
struct rDiagramme;

// Every difference, as a readable line with its place in the score; empty when equal.
// Layout-only fields, the cursor, the selection and the path are not compared.
std::vector<std::string> DifferencesPartitions(const cPartition &a, const cPartition &b);
std::vector<std::string> DifferencesListes(const cListeAccordsImpression &a,
                                           const cListeAccordsImpression &b);
// Field by field; pad bytes and the name's tail beyond its length are ignored.
std::vector<std::string> DifferencesDiagrammes(const rDiagramme &a, const rDiagramme &b);

// For EXPECT_TRUE(PartitionsEgales(a, b)): lists the first differences on failure.
::testing::AssertionResult PartitionsEgales(const cPartition &a, const cPartition &b);
::testing::AssertionResult ListesEgales(const cListeAccordsImpression &a,
                                        const cListeAccordsImpression &b);
