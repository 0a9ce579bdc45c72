#pragma once
// Exports of the outside libraries: plain C names, visible from the module.
#define SIBLING_EXPORT extern "C" __attribute__((visibility("default")))
