// The demo score a newcomer sees at first start, built through the model operations.
#pragma once

class cPartition;

void ConstruireDemo(cPartition &p);
