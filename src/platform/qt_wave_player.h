// A wave player on the default sound output: our own header reader finds
// the samples, and a 20 ms feed keeps QAudioSink's buffer full from the
// file. (The sink's own pull mode takes one period per timer tick, which
// falls behind real time whenever the event loop is late.)
//
// Responsibilities: the WavePlayer operations; "playing" from Play until the
// sound output has played the last sample (not merely taken it), or until a
// stop or a failure of the device; a hook at the first frame handed over.
// Collaborations: voice/wav_file (the header), Qt Multimedia (the output).
// Each instance is independent: the voice keyer and the announcements own
// one each.
#pragma once

#include <QAudioSink>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QTimer>
#include <functional>
#include <memory>

#include "voice/wav_file.h"
#include "voice/wave_player.h"

namespace vantrel {

class QtWavePlayer : public QObject, public WavePlayer {
  Q_OBJECT

 public:
  explicit QtWavePlayer(QObject* parent = nullptr);
  ~QtWavePlayer() override;

  void Close() override;
  PlayResult Open(const std::string& path) override;
  PlayResult Play() override;
  bool IsPlaying() const override;
  void Stop() override;

  // Runs when the first samples of a playing go to the sound output.
  void OnFirstFrame(std::function<void()> hook) { first_frame_ = std::move(hook); }
  const WavInfo* info() const { return opened_ ? &info_ : nullptr; }

 private:
  void StateChanged(QAudio::State state);
  void Feed();
  bool AllHandedOver() const { return left_ == 0 && pending_.isEmpty(); }

  std::unique_ptr<QAudioSink> sink_;
  QIODevice* out_ = nullptr;  // the sink's
  QFile file_;
  qint64 left_ = 0;     // samples not yet read from the file
  QByteArray pending_;  // read, not yet taken by the sink
  QTimer* feed_;
  WavInfo info_;
  QString path_;
  bool opened_ = false;
  bool playing_ = false;
  QElapsedTimer since_first_frame_;
  std::function<void()> first_frame_;
};

}  // namespace vantrel
