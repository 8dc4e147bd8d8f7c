// The start-up benchmark's probe: with PLECTORIUM_MESURE_DEMARRAGE set in the environment, the
// program prints the wall-clock time (ns) at which its window is first exposed and its resident
// memory (KiB), then quits. bench/demarrage.sh compares it with an empty window's.
#pragma once

class QWidget;

// Does nothing unless the variable is set.
void MesurerDemarrage(QWidget *fenetre);
