#pragma once
// The picture of an image control: holds one graphic of any registered kind. Bitmap() and
// Icon() give the graphic as that kind, replacing a graphic of another kind by an empty one.
// In a layout "Data" stores the graphic's class name as a short string and then the graphic's
// own data; a name that is not a registered format leaves the picture empty.

#include "forms/TGraphic.h"
#include "forms/TNotifyEvent.h"
#include "forms/TPersistent.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TBitmap;
class TIcon;

class TPicture : public TPersistent {
    F2_CLASS(TPicture, TPersistent)
public:
    using GraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Stores a copy of graphic (a new graphic of the same class, assigned); nullptr empties.
    void SetGraphic(TGraphic* graphic);
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const;
    int Height() const;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    // From another TPicture or from a graphic.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;
    void ReadData(TStream& stream);

    // Graphic kinds a stored picture may name (TBitmap and TIcon are registered already).
    static void RegisterFormat(const std::string& className, GraphicFactory factory);
    static std::unique_ptr<TGraphic> CreateFormat(std::string_view className);   // nullptr: unknown

protected:
    virtual void Changed();

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
    TNotifyEvent onChange_;
};
