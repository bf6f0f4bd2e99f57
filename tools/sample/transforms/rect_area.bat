REM 矩形の面積を計算
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo 矩形の面積を計算 (サンプル)
