// SPDX-License-Identifier: MIT
#include "cards/CardImages.h"

#include "platform/ImageList.h"
#include "resources/Resources.h"

#include <memory>

namespace {

constexpr int firstImageNumber = 100;
constexpr int jokerNumber = 152;
constexpr int firstBackNumber = 153;
constexpr int backCount = 3;
constexpr int recycleMarkNumber = 156;
constexpr int emptyMarkNumber = 157;

struct ImageSets {
    CardSize size = FS_LARGE;
    std::unique_ptr<TImageList> faces;
    std::unique_ptr<TImageList> backs;
    std::unique_ptr<TImageList> marks;
};

std::unique_ptr<ImageSets> sets;
int loads = 0;

QImage picture(CardSize size, int number)
{
    const QString prefix = size == FS_SMALL ? QStringLiteral("sFSCARD") : QStringLiteral("FSCARD");
    return Resources::bitmap(prefix + QString::number(number));
}

// Each picture is drawn the first time a card shows it: a game deals most of its
// cards face down, and the faces come as they are turned up.
std::unique_ptr<TImageList> imageList(CardSize size, int first, int count)
{
    const bool small = size == FS_SMALL;
    auto list = std::make_unique<TImageList>(small ? 61 : 80, small ? 95 : 125);
    for (int number = first; number < first + count; ++number)
        list->AddMaskedLater([size, number] { return picture(size, number); });
    return list;
}

ImageSets &current()
{
    if (!sets)
        CardImages::load(TCard::GetCardSize());
    return *sets;
}

}  // namespace

void CardImages::load(CardSize size)
{
    if (sets && sets->size == size)
        return;
    auto made = std::make_unique<ImageSets>();
    made->size = size;
    made->faces = imageList(size, firstImageNumber, jokerNumber - firstImageNumber + 1);
    made->backs = imageList(size, firstBackNumber, backCount);
    made->marks = imageList(size, recycleMarkNumber, emptyMarkNumber - recycleMarkNumber + 1);
    sets = std::move(made);
    ++loads;
}

void CardImages::release() { sets.reset(); }
bool CardImages::isLoaded() { return sets != nullptr; }
CardSize CardImages::loadedSize() { return current().size; }
TImageList *CardImages::faces() { return current().faces.get(); }
TImageList *CardImages::backs() { return current().backs.get(); }
TImageList *CardImages::pileMarks() { return current().marks.get(); }
int CardImages::loadCount() { return loads; }
