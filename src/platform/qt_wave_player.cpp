#include "platform/qt_wave_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QFileInfo>
#include <QMediaDevices>
#include <algorithm>
#include <vector>

namespace vantrel {

namespace {
// The output plays this far behind what it has been handed.
constexpr qint64 kOutputLatencyMs = 60;
// How much the sink holds: enough to ride out a late feed, short enough
// that a stop is heard at once.
constexpr qint64 kBufferMicroseconds = 250000;
constexpr int kFeedMs = 20;
constexpr qint64 kReadChunk = 16384;
}  // namespace

QtWavePlayer::QtWavePlayer(QObject* parent) : QObject(parent), feed_(new QTimer(this)) {
  feed_->setInterval(kFeedMs);
  connect(feed_, &QTimer::timeout, this, &QtWavePlayer::Feed);
}

QtWavePlayer::~QtWavePlayer() {
  Close();
}

void QtWavePlayer::Close() {
  Stop();
  sink_.reset();
  out_ = nullptr;
  file_.close();
  opened_ = false;
}

PlayResult QtWavePlayer::Open(const std::string& path) {
  Close();
  const QString name = QFile::decodeName(path.c_str());
  if (QFileInfo(name).isDir())
    return PlayResult::Fail(PlayResult::Kind::kBadFile, "a folder, not a file");
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly))
    return PlayResult::Fail(PlayResult::Kind::kBadFile, file.errorString().toStdString());
  std::vector<std::uint8_t> head(kWavHeadBytes);
  const qint64 got = file.read(reinterpret_cast<char*>(head.data()), kWavHeadBytes);
  if (got < 0)
    return PlayResult::Fail(PlayResult::Kind::kBadFile, file.errorString().toStdString());
  head.resize(static_cast<std::size_t>(got));
  const WavParse parsed = ParseWavHeader(head, static_cast<std::uint64_t>(file.size()));
  if (!parsed.info) return PlayResult::Fail(PlayResult::Kind::kBadFile, parsed.error);
  info_ = *parsed.info;
  path_ = name;
  opened_ = true;
  return PlayResult::Ok();
}

PlayResult QtWavePlayer::Play() {
  if (!opened_) return PlayResult::Fail(PlayResult::Kind::kBadFile, "no file is open");
  Stop();
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  if (device.isNull())
    return PlayResult::Fail(PlayResult::Kind::kNoDevice, "No sound output device was found.");
  QAudioFormat format;
  format.setSampleRate(info_.format.sample_rate);
  format.setChannelCount(info_.format.channels);
  format.setSampleFormat(info_.format.bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
  if (!device.isFormatSupported(format))
    return PlayResult::Fail(PlayResult::Kind::kDeviceFailed,
                            "The sound output cannot play this file's format.");
  file_.close();
  file_.setFileName(path_);
  if (!file_.open(QIODevice::ReadOnly) || !file_.seek(static_cast<qint64>(info_.data_offset)))
    return PlayResult::Fail(PlayResult::Kind::kBadFile, "the file could not be read again");
  left_ = static_cast<qint64>(info_.data_bytes);
  pending_.clear();

  sink_ = std::make_unique<QAudioSink>(device, format);
  sink_->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
  connect(sink_.get(), &QAudioSink::stateChanged, this, &QtWavePlayer::StateChanged);
  since_first_frame_.invalidate();
  out_ = sink_->start();
  if (!out_ || sink_->error() != QAudio::NoError) {
    sink_.reset();
    out_ = nullptr;
    return PlayResult::Fail(PlayResult::Kind::kDeviceFailed, "The sound output is busy or failed.");
  }
  playing_ = true;
  Feed();
  feed_->start();
  return PlayResult::Ok();
}

void QtWavePlayer::Feed() {
  if (!playing_ || !out_) {
    feed_->stop();
    return;
  }
  for (;;) {
    if (pending_.isEmpty()) {
      if (left_ == 0) break;
      pending_ = file_.read(std::min(left_, kReadChunk));
      if (pending_.isEmpty()) {
        left_ = 0;  // the file shrank or failed under us: the playing ends
        break;
      }
      left_ -= pending_.size();
    }
    const qint64 room = sink_->bytesFree();
    if (room <= 0) break;
    const qint64 n = out_->write(pending_.constData(), std::min<qint64>(room, pending_.size()));
    if (n <= 0) break;
    pending_.remove(0, n);
    if (!since_first_frame_.isValid()) {
      since_first_frame_.start();
      if (first_frame_) first_frame_();
    }
  }
  if (AllHandedOver()) feed_->stop();
}

bool QtWavePlayer::IsPlaying() const {
  if (!playing_) return false;
  if (!AllHandedOver() || !since_first_frame_.isValid()) return true;
  // Everything is handed over; the output still plays what it holds.
  return since_first_frame_.elapsed() < static_cast<qint64>(info_.DurationMs()) + kOutputLatencyMs;
}

void QtWavePlayer::Stop() {
  playing_ = false;
  feed_->stop();
  if (sink_) sink_->stop();
  out_ = nullptr;
}

void QtWavePlayer::StateChanged(QAudio::State state) {
  // A device that fails or vanishes ends the playing; running dry at the
  // end of the file does not (the clock above decides that).
  if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError &&
      sink_->error() != QAudio::UnderrunError) {
    playing_ = false;
    feed_->stop();
  }
}

}  // namespace vantrel
