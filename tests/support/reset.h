#pragma once

// Forgets the game: no windows, a zeroed state, every form's own fields back at their start,
// as in a new process.
void resetGame();
