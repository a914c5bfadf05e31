// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// stack: a fixed-capacity stack of untyped pointers behind a handle.
// The stack never owns what it holds: whoever pops an element owns it.
// Depends on: nothing.
#pragma once

const int stackCapacity = 400;

struct stackCDT {
    void* elements[stackCapacity];
    int count;
};

// A new, empty stack on the heap.
stackCDT* NewStack();
// Releases the stack record; elements still on it are not freed.
void FreeStack(stackCDT* stack);
// Puts element on top; on a full stack reports it and stores nothing.
void Push(stackCDT* stack, void* element);
// Takes the top element off; on an empty stack reports it and returns null.
void* Pop(stackCDT* stack);
bool StackIsEmpty(const stackCDT* stack);
bool StackIsFull(const stackCDT* stack);
int StackDepth(const stackCDT* stack);
