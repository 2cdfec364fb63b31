// Recording canvases that write the standard Windows metafile formats: a Windows metafile (as a
// placeable file holds it after its header) and an enhanced metafile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "canvas.h"

namespace qrplat {

// Records the drawing calls; each filled rectangle is a pattern fill with a solid brush of its
// colour, each line a move and a line in the player's default pen.
class MetafileRecorder : public Canvas {
  public:
    explicit MetafileRecorder(int dpi) : dpi_(dpi) {}
    int LogPixelsX() const final { return dpi_; }
    int LogPixelsY() const final { return dpi_; }

    virtual void SetWindowExt(int width, int height) = 0;
    virtual void SetWindowOrg(int x, int y) = 0;
    // The finished metafile's bytes.
    virtual std::vector<uint8_t> Finish() = 0;
    // True once the recording outgrew what a metafile may hold; the records stop there.
    bool overflowed() const { return overflowed_; }
    bool Saturated() const final { return overflowed_; }

  protected:
    // What a fill of this colour needs first: the brush's object index, and whether the brush
    // must be created before it is selected. Nothing when it is already selected. Object
    // indices count from firstIndex.
    struct BrushChange {
        int index;
        bool create;
    };
    std::optional<BrushChange> BrushFor(ColorRef color, int firstIndex);

    std::vector<uint8_t> records_;
    std::map<ColorRef, int> brushes_;  // colour -> object index

    void Put16(uint32_t v);
    void Put32(uint32_t v);
    // Whether another record of this many bytes still fits.
    bool Room(size_t bytes);

  private:
    int dpi_;
    bool overflowed_ = false;
    ColorRef selected_ = 0;
    bool anySelected_ = false;
};

class WmfRecorder final : public MetafileRecorder {
  public:
    using MetafileRecorder::MetafileRecorder;
    void SetWindowExt(int width, int height) override;
    void SetWindowOrg(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColorRef color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    std::vector<uint8_t> Finish() override;

  private:
    void Record(uint16_t function, std::initializer_list<uint16_t> params);
    uint32_t maxRecordWords_ = 3;
};

class EmfRecorder final : public MetafileRecorder {
  public:
    using MetafileRecorder::MetafileRecorder;
    void SetMapMode(int mode);
    void SetWindowExt(int width, int height) override;
    void SetWindowOrg(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColorRef color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    std::vector<uint8_t> Finish() override;

  private:
    void Record(uint32_t type, std::initializer_list<uint32_t> params);
    void Include(int64_t left, int64_t top, int64_t right, int64_t bottom);  // inclusive
    uint32_t count_ = 0;
    int penX_ = 0;
    int penY_ = 0;
    bool anyBounds_ = false;
    int64_t bounds_[4] = {0, 0, -1, -1};
};

}  // namespace qrplat
