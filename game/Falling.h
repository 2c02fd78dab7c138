// Gravity, the five game keys and the spawning of each new Piece.
#pragma once
#include <cstdint>

extern int32_t StepInterval;
extern uint32_t LastStepTime;
extern uint8_t SoftDropActive;
extern uint8_t SoftDropAllowed;
extern uint8_t RotationHeld;
extern int32_t StackHeight;

// The five configured KeyCodes (scan code, plus 0x100 for an extended key).
extern int32_t KeyLeft;       // "Gauche"
extern int32_t KeyRight;      // "Droite"
extern int32_t KeyDown;       // "Bas"
extern int32_t KeyRotLeft;    // "Rotg"
extern int32_t KeyRotRight;   // "Rotd"

// Milliseconds between two gravity steps at a Level; negative from Level 21 on.
int32_t StepIntervalFor(int32_t level);

// First stage of every GameTick: steps the Piece down when due, locking it when it lands.
void GravityStage();

// A key press that is not one of the window's command keys.
void GameKeyDown(int32_t keyCode);

// Every key release, whether or not a match runs.
void GameKeyUp(int32_t keyCode);

// Draws NextType, reports the stack, places CurrentType's Piece and tests for loss.
void SpawnPiece();
