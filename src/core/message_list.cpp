#include "core/message_list.h"

#include "console/console.h"
#include "core/chance.h"
#include "core/mission_state.h"

const Message& rollEntry(const MessageList& list)
{
    rollDie(static_cast<int>(list.size()));
    return list[static_cast<std::size_t>(mission.dieRoll - 1)];
}

void writeMessage(const Message& message)
{
    for (const char* line : message) writeText(line);
}

void writeRolledEntry(const MessageList& list) { writeMessage(rollEntry(list)); }
