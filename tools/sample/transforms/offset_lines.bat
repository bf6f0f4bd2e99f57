REM 平行線を一括作図
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 平行線を一括作図 (サンプル)
