#include "framework/MessageMap.h"

const MessageEntry* FindMessageEntry(MessageMap map, UINT message, UINT code, UINT id) {
    for (const MessageEntry& entry : map) {
        if (entry.message == message && entry.code == code && entry.id == id) return &entry;
    }
    return nullptr;
}
