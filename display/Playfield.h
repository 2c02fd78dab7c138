// The Playfield: the Board's picture, painted cell by cell and copied to the window.
#pragma once
#include "resources/Colours.h"  // ColourToPixel
#include <cstdint>

#include "game/Board.h"

constexpr int PlayfieldWidth = 200;
constexpr int PlayfieldHeight = 400;
constexpr int PlayfieldX = 70;  // where the Playfield lies in the window
constexpr int CellSize = 20;
constexpr int AtlasStride = 80;  // pixels per stored TileAtlas row

// 0x00RRGGBB pixels, rows top-down.
extern uint32_t Playfield[PlayfieldWidth * PlayfieldHeight];

// Eight 20 x 20 textures for cell values 1..8, one after another, each row of
// a texture stored with room for 80 pixels.
extern uint32_t TileAtlas[8 * CellSize * AtlasStride];

// "Motifs": cells drawn from the TileAtlas instead of plain colours.
extern uint8_t PatternMode;

// "Fantome": the place where the falling Piece would land is shown below it.
extern uint8_t GhostMode;

// Set while a Solo match is paused: every copy to the window paints the Playfield area black
// instead, so repaints, dialogs and reactivation cannot show the hidden game.
extern uint8_t PlayfieldHidden;


// Paints one cell at Playfield column i (0..9), row j (0..19); negative indices are skipped.
void DrawCell(int i, int j, uint8_t value);

// Paints one cell black, in either mode.
void ClearCell(int i, int j);

// Blackens the Playfield, then draws every settled visible cell.
void RedrawBoard();

// Erases the Piece's drawn copy and the ghost, then draws the ghost (GhostMode) and the
// moving copy in CurrentType.
void RedrawPiece();

// Erases the ghost and, in GhostMode, draws it again under the moving copy. The Playfield only.
void RedrawGhost();

// Erases the ghost. The Playfield only.
void HideGhost();

// Copies the whole Playfield to the window at x 70.
void PresentPlayfield();

// Copies the full-height strip of columns spanned by both copies of the Piece.
void PresentPieceColumns();

// Paints the window's Playfield area black; the Playfield itself is kept.
void BlankPlayfield();

struct Surface;

// Gives a surface a solid fill and outline (0x00BBGGRR) until ReleaseBrushAndPen.
void SelectBrushAndPen(Surface* s, uint32_t fill, uint32_t outline);

// Gives the surface back the fill and outline that SelectBrushAndPen displaced.
void ReleaseBrushAndPen(Surface* s);
