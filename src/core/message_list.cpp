#include "core/message_list.h"

#include "core/chance.h"
#include "core/mission_state.h"

void writeRolledEntry(const MessageList& list)
{
    rollDie(static_cast<int>(list.size()));
    writeLines(list[static_cast<std::size_t>(mission.dieRoll - 1)]);
}
