// SPDX-License-Identifier: MIT
#pragma once
#include <QImage>

// The program's icon at one size (square, transparent around the cards): a fanned
// pair of our cards, the red lattice back behind the ace of hearts.
QImage programIcon(int size);
