#include "model/edit_state.h"

namespace rvm46 {

ChannelTable EmptyChannelTable() {
    ChannelTable table;
    for (auto& channel : table) channel.fill(-1.0);
    return table;
}

}  // namespace rvm46
