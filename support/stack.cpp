// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// stack: a fixed-capacity stack of untyped pointers behind a handle.
// Depends on: malloc, free, printf.
#include "stack.h"

#include <cstdio>   // printf
#include <cstdlib>  // malloc, free

stackCDT* NewStack() {
    stackCDT* stack = static_cast<stackCDT*>(malloc(sizeof(stackCDT)));
    stack->count = 0;
    return stack;
}

void FreeStack(stackCDT* stack) {
    free(stack);
}

void Push(stackCDT* stack, void* element) {
    if (StackIsFull(stack)) {
        printf("Stack size exceeded\n");
        return;
    }
    stack->elements[stack->count++] = element;
}

void* Pop(stackCDT* stack) {
    if (StackIsEmpty(stack)) {
        printf("Pop of an empty stack\n");
        return nullptr;
    }
    return stack->elements[--stack->count];
}

bool StackIsEmpty(const stackCDT* stack) {
    return stack->count == 0;
}

bool StackIsFull(const stackCDT* stack) {
    return stack->count == stackCapacity;
}

int StackDepth(const stackCDT* stack) {
    return stack->count;
}
