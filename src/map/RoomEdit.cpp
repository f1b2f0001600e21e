#include "map/RoomEdit.h"

#include "base/WholeNumber.h"
#include "map/RoomSummary.h"

namespace tw {

std::string RoomEdit::caption(const Cell& c)
{
    return "Room Editor - (" + std::to_string(c.x) + "," + std::to_string(c.y) + "," +
           std::to_string(c.level) + ")";
}

RoomEditForm RoomEdit::fill(const MapModel& map, const Cell& c)
{
    const TMapRoom* existing = map.room(c.x, c.y, c.level);
    const TMapRoom room = existing ? *existing : TMapRoom::defaultRoom();
    RoomEditForm form;
    form.title = titleAsRead(room.title.view());
    for (std::size_t n = 0; n < room.description.size(); ++n) {
        if (n > 0)
            form.description += '\n';
        form.description += room.description[n].view();
    }
    for (int d = 1; d <= dir::Count; ++d) {
        const MapExit& e = room.exit(d);
        const std::size_t i = std::size_t(d - 1);
        form.checked[i] = e.present();
        form.coords[i] = {std::to_string(e.x), std::to_string(e.y), std::to_string(e.level)};
    }
    return form;
}

void RoomEdit::checkCoordinates(RoomEditForm& form)
{
    const int limits[3] = {RoomGrid::Columns, RoomGrid::Rows, RoomGrid::Levels};
    for (auto& exit : form.coords)
        for (std::size_t k = 0; k < 3; ++k) {
            const std::optional<long> v = parseWholeNumber(exit[k]);
            if (!v || *v < 1 || *v > limits[k])
                exit[k] = "0";
        }
}

void RoomEdit::store(MapModel& map, const Cell& c, RoomEditForm form)
{
    if (!RoomGrid::inside(c))
        return;
    if (!map.RoomExists(c.x, c.y, c.level))
        map.InitRoom(c.x, c.y, c.level);
    TMapRoom& room = *map.room(c.x, c.y, c.level);
    // The box shows the title without its colour codes; left as shown, the title keeps the
    // bytes the game sent.
    if (form.title != titleAsRead(room.title.view()))
        room.title.set(form.title);
    std::size_t start = 0;
    for (RoomText& line : room.description) {
        if (start > form.description.size()) {
            line.set("");
            continue;
        }
        const std::size_t end = std::min(form.description.find('\n', start), form.description.size());
        line.set(std::string_view(form.description).substr(start, end - start));
        start = end + 1;
    }
    // A box that holds no valid number (OK pressed before it lost the focus) counts as empty,
    // so that nothing is stored half.
    checkCoordinates(form);
    for (int d = 1; d <= dir::Count; ++d) {
        const auto& box = form.coords[std::size_t(d - 1)];
        MapExit e{std::uint8_t(*parseWholeNumber(box[0])), std::uint8_t(*parseWholeNumber(box[1])),
                  std::uint8_t(*parseWholeNumber(box[2]))};
        if (!e.present() || !map.RoomExists(e.x, e.y, e.level))
            e = MapExit{};
        room.exit(d) = e;
    }
}

} // namespace tw
