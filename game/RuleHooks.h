// What the rules ask of the layer above them: the time, and a word at each step that it shows or tells.
#pragma once
#include <cstdint>

// Every hook is set; the rules call them without testing. The rules alone, with
// the defaults, play on a clock that stands at 0 and draw or say nothing.
struct RuleHooks {
  // The millisecond tick counter; wraps at 2^32.
  uint32_t (*Now)();
  // Blocks the whole program for ms milliseconds.
  void (*Wait)(uint32_t ms);
  // The moving copy was accepted; the drawn copy still holds the place on screen.
  void (*PieceMoved)();
  // A Piece was settled into the Board and rows (0..4) removed, before they are scored.
  void (*PieceLanded)(int rows);
  // Frame 0..4 of the clear animation is due for the removed rows (0 in unused slots), ascending.
  void (*ClearFrame)(const int32_t removed[4], int frame);
  // A lock removed rows or inserted penalty rows: the settled cells moved.
  void (*BoardChanged)();
  // ResetBoard built a new Board.
  void (*BoardReset)();
  // A new Piece stands at its spawn cells; the stack below it was measured.
  void (*PieceSpawned)(int32_t stackHeight);
  // The new Piece overlapped the stack: MatchOver is set and the local player marked 'N'.
  void (*LocalLoss)();
};

extern RuleHooks Rules;

// The hooks that do nothing, and a clock that stands at 0.
extern const RuleHooks SilentRules;
