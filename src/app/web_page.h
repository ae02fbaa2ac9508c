#pragma once

// The game's side of its web page: what a page needs of a program that a desktop never asks.
// It places the screens on the page, tells the page the size to fit and keeps it told which are
// on show, lets a finger work the windows' frames, fetches the sounds once the start screen is
// up, holds the game while the tab cannot be seen, marks the first frame, tells the page of the
// game's end, and gives the page's title bars the game's face and icon.
//
// What passes between the page (assets/web/page.js, and the tests and benchmark that read it)
// and the game: these names on the game's Module object, and nothing else.
//   vantaroScreensOnShow     the game's: the screens on show, each its layout name, title and
//                            client area in page pixels, the active one last
//   vantaroFirstFrameDrawn() the page's, called once after the first frame is on screen;
//                            the frame itself is the performance mark "vantaro-first-frame"
//   vantaroGameOver()        the page's, called when the game has ended
//   vantaroSoundsReady       the game's: how many of the sounds beside the page have arrived
//                            and are decoded, ready to play
//   vantaroSound             the sound module's own: its decoded sounds and the one playing
//   vantaroDesk              the game's: the size the page fits, its largest screen with frame
//   vantaroDeskKnown()       the page's, called once vantaroDesk is set
//   vantaroText              the text module's (web_text.cpp): the element an on-screen
//                            keyboard types into, and whether a text field has the game's focus
//   vantaroTextIn(), vantaroTextKey()  the game's, for that element to hand text and keys on
//   vantaroOnFrame(x, y)     the game's: whether a point of the canvas is on a window's frame,
//                            where a finger works as the mouse
void connectPage();

// Takes the text of on-screen keyboards over from Qt's input context (web_text.cpp).
void connectPageText();
