#pragma once

// The game's side of its web page: what a page needs of a program that a desktop never asks.
// It places the screens on the page and keeps the page told which are on show, fetches the
// sounds once the start screen is up, reports a tab the player cannot see, marks the first
// frame, tells the page of the game's end, and gives the page's title bars the game's face and
// icon.
void connectPage();
