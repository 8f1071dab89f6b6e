#pragma once
// Base of the pictures a canvas can draw: bitmaps and icons. A graphic knows its size, draws
// itself into a rectangle of a canvas and loads itself from a stream. In a layout its bytes are
// stored as the binary defined property "Data".

#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"
#include "platform/Raster.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    F2_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Empty() const = 0;
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool transparent);

    // Draws the picture into rect (stretched when the sizes differ).
    virtual void Draw(TCanvas& canvas, const platform::Rect& rect) = 0;
    // Raises EInvalidGraphic when the bytes are not a picture of this kind.
    virtual void LoadFromStream(TStream& stream) = 0;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    void DefineProperties(TFiler& filer) override;
    // The stored form of "Data"; by default the bytes as LoadFromStream takes them.
    virtual void ReadData(TStream& stream) { LoadFromStream(stream); }

protected:
    virtual void Changed();

private:
    bool transparent_ = false;
    TNotifyEvent onChange_;
};
