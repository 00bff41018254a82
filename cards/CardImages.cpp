// SPDX-License-Identifier: MIT
#include "cards/CardImages.h"

#include "platform/ImageList.h"
#include "platform/Screen.h"
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
    qreal ratio = 1.0;
    std::unique_ptr<ImageList> faces;
    std::unique_ptr<ImageList> backs;
    std::unique_ptr<ImageList> marks;
};

std::unique_ptr<ImageSets> sets;
int loads = 0;

// The lists keep the pictures; the resources need not keep them too.
QImage picture(CardSize size, qreal ratio, int number)
{
    const QString prefix = size == FS_SMALL ? QStringLiteral("sFSCARD") : QStringLiteral("FSCARD");
    return Resources::unkeptBitmap(prefix + QString::number(number), ratio);
}

// Each picture is made the first time a card shows it: a game deals most of its
// cards face down, and the faces come as they are turned up. The pictures have as
// many pixels as the screen shows.
std::unique_ptr<ImageList> imageList(CardSize size, qreal ratio, int first, int count)
{
    const bool small = size == FS_SMALL;
    auto list = std::make_unique<ImageList>(small ? 61 : 80, small ? 95 : 125, ratio);
    for (int number = first; number < first + count; ++number)
        list->AddMaskedLater([size, ratio, number] { return picture(size, ratio, number); });
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
    const qreal ratio = Screen::pictureRatio();
    if (sets && sets->size == size && sets->ratio == ratio)
        return;
    auto made = std::make_unique<ImageSets>();
    made->size = size;
    made->ratio = ratio;
    made->faces = imageList(size, ratio, firstImageNumber, jokerNumber - firstImageNumber + 1);
    made->backs = imageList(size, ratio, firstBackNumber, backCount);
    made->marks = imageList(size, ratio, recycleMarkNumber, emptyMarkNumber - recycleMarkNumber + 1);
    sets = std::move(made);
    ++loads;
}

void CardImages::release() { sets.reset(); }
bool CardImages::isLoaded() { return sets != nullptr; }
CardSize CardImages::loadedSize() { return current().size; }
ImageList *CardImages::faces() { return current().faces.get(); }
ImageList *CardImages::backs() { return current().backs.get(); }
ImageList *CardImages::pileMarks() { return current().marks.get(); }
int CardImages::loadCount() { return loads; }
