#pragma once

// The game's side of its web page: what a page needs of a program that a desktop never asks.
// It fetches the sounds, reports a tab the player cannot see, tells the page of the first frame
// and of the game's end, and gives the page's own title bars the game's face and icon.
void connectPage();
